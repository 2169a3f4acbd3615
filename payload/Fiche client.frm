[Formulaire]
Titre=Fiche client
Table=CLIENTS
Largeur=640
Hauteur=480
Police=MS Sans Serif,8

[Champ1]
Libelle=Code client
Colonne=CODE
Type=Texte
Longueur=8
Gauche=150
Haut=16

[Champ2]
Libelle=Nom
Colonne=NOM
Type=Texte
Longueur=30
Gauche=150
Haut=52

[Champ3]
Libelle=Prénom
Colonne=PRENOM
Type=Texte
Longueur=20
Gauche=150
Haut=88

[Champ4]
Libelle=Adresse
Colonne=ADRESSE
Type=Texte
Longueur=40
Gauche=150
Haut=124

[Champ5]
Libelle=Code postal
Colonne=CP
Type=Texte
Longueur=5
Gauche=150
Haut=160

[Champ6]
Libelle=Ville
Colonne=VILLE
Type=Texte
Longueur=25
Gauche=150
Haut=196

[Champ7]
Libelle=Téléphone
Colonne=TELEPHONE
Type=Texte
Longueur=14
Gauche=150
Haut=232

[Champ8]
Libelle=Courriel
Colonne=COURRIEL
Type=Texte
Longueur=40
Gauche=150
Haut=268

[Champ9]
Libelle=Remise (%)
Colonne=REMISE
Type=Nombre
Longueur=5
Gauche=150
Haut=304

[Champ10]
Libelle=Client actif
Colonne=ACTIF
Type=Case
Longueur=1
Gauche=150
Haut=340

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
