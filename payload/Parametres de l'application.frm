[Formulaire]
Titre=Paramètres de l'application
Table=PARAMETRES
Largeur=640
Hauteur=336
Police=MS Sans Serif,8

[Champ1]
Libelle=Nom de la société
Colonne=SOCIETE
Type=Texte
Longueur=40
Gauche=150
Haut=16

[Champ2]
Libelle=SIRET
Colonne=SIRET
Type=Texte
Longueur=14
Gauche=150
Haut=52

[Champ3]
Libelle=Dossier des données
Colonne=DOSSIER
Type=Texte
Longueur=60
Gauche=150
Haut=88

[Champ4]
Libelle=Sauvegarde à la fermeture
Colonne=SAUVEGARDE
Type=Case
Longueur=1
Gauche=150
Haut=124

[Champ5]
Libelle=Taux de TVA par défaut
Colonne=TVA
Type=Liste
Longueur=5
Gauche=150
Haut=160

[Champ6]
Libelle=Logo
Colonne=LOGO
Type=Image
Gauche=150
Haut=196

[Boutons]
Valider=&Enregistrer
Annuler=&Fermer
