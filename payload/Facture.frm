[Formulaire]
Titre=Facture
Table=FACTURES
Largeur=640
Hauteur=408
Police=MS Sans Serif,8

[Champ1]
Libelle=Numéro de facture
Colonne=NUMERO
Type=Compteur
Longueur=8
Gauche=150
Haut=16

[Champ2]
Libelle=Date
Colonne=DATE
Type=Date
Longueur=10
Gauche=150
Haut=52

[Champ3]
Libelle=Client
Colonne=CLIENT
Type=Lien:CLIENTS
Longueur=8
Gauche=150
Haut=88

[Champ4]
Libelle=Total HT
Colonne=TOTALHT
Type=Monnaie
Longueur=12
Gauche=150
Haut=124

[Champ5]
Libelle=Total TVA
Colonne=TOTALTVA
Type=Monnaie
Longueur=12
Gauche=150
Haut=160

[Champ6]
Libelle=Total TTC
Colonne=TOTALTTC
Type=Monnaie
Longueur=12
Gauche=150
Haut=196

[Champ7]
Libelle=Échéance
Colonne=ECHEANCE
Type=Date
Longueur=10
Gauche=150
Haut=232

[Champ8]
Libelle=Réglée
Colonne=REGLEE
Type=Case
Longueur=1
Gauche=150
Haut=268

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
